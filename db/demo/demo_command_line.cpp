#include "db/demo/demo_command_line.h"

#include <charconv>
#include <limits>
#include <optional>

namespace zel::demo {
namespace {

template <typename Number>
std::optional<Number> WholeNumber(const std::string& text, Number low, Number high) {
    Number number{};
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, number);
    if (error != std::errc() || end != last || number < low || number > high) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

DemoCommandLine::Parsed DemoCommandLine::Parse(const std::vector<std::string>& arguments) {
    Parsed parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            parsed.action = Action::Help;
            return parsed;
        }
        if (option == "--force") {
            parsed.options.force = true;
            continue;
        }
        if (option != "--output" && option != "--rows" && option != "--items" &&
            option != "--warehouses" && option != "--seed") {
            return Refused("Zel.DEMO.badoption", {option});
        }
        if (i + 1 >= arguments.size()) {
            return Refused("Zel.DEMO.missingvalue", {option});
        }
        if (!Apply(option, arguments[++i], parsed)) {
            return parsed;
        }
    }
    if (parsed.options.output.empty()) {
        return Refused("Zel.DEMO.nooutput", {});
    }
    return parsed;
}

bool DemoCommandLine::Apply(const std::string& option, const std::string& text, Parsed& parsed) {
    DemoOptions& options = parsed.options;
    if (option == "--output") {
        options.output = text;
        return true;
    }
    if (option == "--seed") {
        return Read(option, text, std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max(),
                    options.seed, parsed);
    }
    if (option == "--rows") {
        return Read(option, text, std::int64_t{0}, kMaxRows, options.rows, parsed);
    }
    if (option == "--items") {
        return Read(option, text, std::int64_t{1}, kMaxItems, options.items, parsed);
    }
    return Read(option, text, 1, kMaxWarehouses, options.warehouses, parsed);
}

template <typename Number>
bool DemoCommandLine::Read(const std::string& option, const std::string& text, Number low,
                           Number high, Number& value, Parsed& parsed) {
    const auto number = WholeNumber(text, low, high);
    if (!number) {
        parsed = Refused("Zel.DEMO.badnumber",
                         {option, std::to_string(low), std::to_string(high), text});
        return false;
    }
    value = *number;
    return true;
}

DemoCommandLine::Parsed DemoCommandLine::Refused(std::string key, std::vector<std::string> values) {
    Parsed parsed;
    parsed.action = Action::Refuse;
    parsed.messageKey = std::move(key);
    parsed.messageValues = std::move(values);
    return parsed;
}

}  // namespace zel::demo
