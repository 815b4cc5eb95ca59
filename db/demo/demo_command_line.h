#pragma once

#include <string>
#include <vector>

#include "db/demo/demo_options.h"

namespace zel::demo {

// whinv-demo-db --output FILE [--rows N] [--items N] [--warehouses N] [--seed S] [--force]
class DemoCommandLine {
public:
    static constexpr std::int64_t kMaxRows = 10000000;
    static constexpr std::int64_t kMaxItems = 10000000;
    static constexpr int kMaxWarehouses = 9999;

    enum class Action { Run, Help, Refuse };
    struct Parsed {
        Action action = Action::Run;
        DemoOptions options;
        // With Refuse: the resource key of the reason and its values.
        std::string messageKey;
        std::vector<std::string> messageValues;
    };

    // arguments without the program name.
    static Parsed Parse(const std::vector<std::string>& arguments);

private:
    // false, with parsed turned into a refusal, when the value does not fit the option.
    static bool Apply(const std::string& option, const std::string& text, Parsed& parsed);
    template <typename Number>
    static bool Read(const std::string& option, const std::string& text, Number low, Number high,
                     Number& value, Parsed& parsed);
    static Parsed Refused(std::string key, std::vector<std::string> values);
};

}  // namespace zel::demo
