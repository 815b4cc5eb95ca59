#include "db/demo/demo_texts.h"

#include <QFile>

namespace zel::demo {

const ResourceTexts& DemoTexts::Instance() {
    static const ResourceTexts texts = [] {
        QFile file(":/demo/demo_texts.tsv");
        return ResourceTexts(file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "");
    }();
    return texts;
}

std::string DemoTexts::FailureKey(DemoFailure failure) {
    switch (failure) {
        case DemoFailure::None:
            return "Zel.DEMO.done";
        case DemoFailure::BadSize:
            return "Zel.DEMO.badsize";
        case DemoFailure::TargetExists:
            return "Zel.DEMO.exists";
        case DemoFailure::CannotCreate:
            return "Zel.DEMO.cannotcreate";
        case DemoFailure::CodingRule:
            return "Zel.DEMO.codingrule";
        case DemoFailure::Write:
            return "Zel.DEMO.writefail";
    }
    return "Zel.DEMO.writefail";
}

}  // namespace zel::demo
