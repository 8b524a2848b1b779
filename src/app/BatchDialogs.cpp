#include "BatchDialogs.h"

#include "MessageBox.h"

namespace tagloom {

MessageAnswer BatchDialogs::showMessage(QWidget *, const MessageRequest &request)
{
    if (request.title == errorTitle)
        errors_.append(request.text);
    return MessageAnswer::Ok;
}

} // namespace tagloom
