#include "base/ErrorMessages.h"

#include "base/Exception.h"

namespace app {

namespace {

struct CodeMessage {
    int32_t code;
    int32_t messageId;
};

const CodeMessage kCodeMessages[] = {
    {ErrorNoMemory, 60100},     {ErrorNegativeSize, 60101}, {ErrorCreateWindow, 60102}, {ErrorBrokenFile, 60109},
    {ErrorNewerFile, 60110},    {ErrorAddItem, 60111},      {ErrorImageSize, 60113},    {ErrorManual, 60114},
    {ErrorFileTooLarge, 60132}, {ErrorKeptUnread, 60133},
};

}  // namespace

int32_t MessageIdForCode(int32_t code) {
    for (const CodeMessage& entry : kCodeMessages) {
        if (entry.code == code)
            return entry.messageId;
    }
    return kUnknownFailureMessage;
}

}  // namespace app
