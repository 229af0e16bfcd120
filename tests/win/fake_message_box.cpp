// Stands in for the message box so that install tests run without a person.
#include "fake_message_box.h"
#include "msgbox/message_box.h"

std::vector<ShownMessage> g_shownMessages;
int g_messageAnswer = IDOK;
std::function<int(const ShownMessage &)> g_messageReply;

int BiMessageBox(const char *chinese, const char *english, int style, HWND owner)
{
    (void)owner;
    g_shownMessages.push_back({ chinese ? chinese : "", english ? english : "", style });
    return g_messageReply ? g_messageReply(g_shownMessages.back()) : g_messageAnswer;
}
