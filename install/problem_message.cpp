// The bilingual Retry / Cancel message for a problem found before the install starts.
#include "problem.h"
#include "../msgbox/message_box.h"
#include "../base/state.h"
#include <stdio.h>

struct ProblemText {
    int kind;
    const char *chinese;    // %s, where there is one: the file name or the kilobytes missing
    const char *english;
};

static const ProblemText kProblemTexts[] = {
    { PROBLEM_IN_USE, "%s 正被使用或不能写入。请关闭 Zelvo 程序后重试，或取消安装。",
      "%s is in use or locked. Quit all Zelvo applications and press Retry, or Cancel to give up." },
    { PROBLEM_FOLDER_IN_THE_WAY, "安装目录中的 %s 是文件夹，不是文件。请移走它后重试，或取消安装。",
      "A folder %s stands where a file must go. Move it and press Retry, or Cancel to give up." },
    { PROBLEM_NO_ROOM, "磁盘空间不够，还差 %s KB。请腾出空间后重试，或取消安装。",
      "Not enough disk space: %s KB more needed. Free some and press Retry, or Cancel to give up." },
    { PROBLEM_NO_NEW_FILE, "无法在安装目录中建立文件。请检查该目录后重试，或取消安装。",
      "No file can be made in the install folder. Check it and press Retry, or Cancel to give up." },
};

int Problem(InstallProblem *problem, int kind, const char *name)
{
    problem->kind = kind;
    problem->missingKB = 0;
    snprintf(problem->name, sizeof problem->name, "%s", name ? name : "");
    return 0;
}

int AskToRetry(const InstallProblem *problem)
{
    char detail[MAX_PATH];
    if (problem->kind == PROBLEM_NO_ROOM)
        snprintf(detail, sizeof detail, "%lu", problem->missingKB);
    else
        snprintf(detail, sizeof detail, "%s", problem->name);
    const ProblemText *text = &kProblemTexts[0];
    for (const ProblemText &row : kProblemTexts)
        if (row.kind == problem->kind)
            text = &row;
    char chinese[MAX_PATH + 128], english[MAX_PATH + 128];
    snprintf(chinese, sizeof chinese, text->chinese, detail);
    snprintf(english, sizeof english, text->english, detail);
    return BiMessageBox(chinese, english, BIMB_RETRYCANCEL, g_hMainDlg) == IDRETRY;
}
