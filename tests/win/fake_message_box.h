// The tests answer the installer's questions themselves and see what it said.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct ShownMessage {
    std::string chinese;
    std::string english;
    int style;
};

extern std::vector<ShownMessage> g_shownMessages;
extern int g_messageAnswer;     // returned by every message box; IDOK by default
// When set, answers each message box instead of g_messageAnswer (it may change the disk
// first, as a user would before pressing Retry).
extern std::function<int(const ShownMessage &)> g_messageReply;
