#include <iostream>

#include "db/demo/demo_command_line.h"
#include "db/demo/demo_data_generator.h"
#include "db/demo/demo_texts.h"

int main(int argc, char** argv) {
    using namespace zel::demo;
    const auto& texts = DemoTexts::Instance();
    const auto parsed = DemoCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.action == DemoCommandLine::Action::Help) {
        std::cout << texts.Text("Zel.DEMO.usage") << '\n';
        return 0;
    }
    if (parsed.action == DemoCommandLine::Action::Refuse) {
        std::cerr << texts.Format(parsed.messageKey, parsed.messageValues) << '\n'
                  << texts.Text("Zel.DEMO.usage") << '\n';
        return 2;
    }
    DemoDataGenerator generator(parsed.options);
    const DemoOutcome outcome = generator.Generate();
    if (!outcome.Ok()) {
        std::cerr << texts.Format(DemoTexts::FailureKey(outcome.failure), {outcome.detail}) << '\n';
        return 1;
    }
    const DemoSummary& summary = outcome.summary;
    std::cout << texts.Format("Zel.DEMO.done",
                              {parsed.options.output, std::to_string(summary.warehouses),
                               std::to_string(summary.classes), std::to_string(summary.items),
                               std::to_string(summary.rows)})
              << '\n';
    return 0;
}
