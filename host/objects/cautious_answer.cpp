#include "host/objects/cautious_answer.h"

#include "interfaces/pub.h"

namespace zel {

int CautiousAnswer(int buttons) {
    switch (buttons & 0x0F) {
        case kMsgYesNo:
            return kAnswerNo;
        case kMsgYesNoCancel:
            return kAnswerCancel;
        default:
            return kAnswerOk;
    }
}

}  // namespace zel
