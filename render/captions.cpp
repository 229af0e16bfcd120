// The fixed bilingual captions of the owner-drawn controls, by control ID.
#include "owner_draw.h"
#include "mixed_text.h"
#include "../base/state.h"

struct CaptionRow {
    int id;
    const char *caption;
};

static const CaptionRow kOwnerCaptions[] = {
    { 1,    "确认 OK" },
    { 2,    "取消 Cancel" },
    { 3,    "退一步 Back" },
    { 4,    "重试 Retry" },
    { 6,    "是 Yes" },
    { 7,    "否 No" },
    { 1003, "改变 Browse ...." },
    { 1006, "安装路径： (Install Path)" },
    { 1008, "路径 (Directories):" },
    { 1009, "《Zelvo》 Zelvo" },
    { 1010, "磁盘 (Drives):" },
    { 1011, "文本编辑 Pendrel" },
    { 1012, "安装程序" },
    { 1017, "以上中文显示正确吗 (Is the Above Chinese Display OK)?" },
    { 1018, "日出江花红胜火" },
    { 1021, "" },
    { 1030, "User Interface Language 用户界面语言" },
};

static const CaptionRow kCheckCaptions[] = {
    { 1004, "建立桌面图标？  (Place an icon on Desktop)" },
    { 1007, "正确(OK)" },
    { 1008, "不正确(NO)" },
};

enum { OWNER_TEXT_LIMIT = 80, CHECK_TEXT_LIMIT = 127 };

// A window text cut to the limit, never in the middle of a double-byte character.
static const char *WindowCaption(HWND window, char *buffer, int limit)
{
    buffer[0] = '\0';
    GetWindowTextA(window, buffer, limit);
    CutAtCharBoundary(buffer);
    return buffer;
}

const char *OwnerCaption(HWND control, int id, char *buffer)
{
    if (id == 1020)
        return NULL;
    if (id == DEFAULT_BUTTON_ID)
        return g_wizardPage >= 3 ? "同意/安装 Agree/Install" : "下一步 Next";
    for (const CaptionRow &row : kOwnerCaptions)
        if (row.id == id)
            return row.caption;
    return WindowCaption(control, buffer, OWNER_TEXT_LIMIT);
}

const char *CheckCaption(HWND window, char *buffer)
{
    int id = GetDlgCtrlID(window);
    for (const CaptionRow &row : kCheckCaptions)
        if (row.id == id)
            return row.caption;
    return WindowCaption(window, buffer, CHECK_TEXT_LIMIT);
}
