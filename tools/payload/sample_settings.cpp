// Sample appcfg.ini: a [UI_STR] table of interface strings with GBK translations, then [Config].
#include "sample_content_internal.h"
#include <algorithm>
#include <vector>

struct Phrase {
    const char *english;
    const char *chinese;        // UTF-8
};

static const Phrase kVerbs[] = {
    { "open", "打开" },       { "save", "保存" },       { "close", "关闭" },
    { "delete", "删除" },     { "rename", "重命名" },   { "copy", "复制" },
    { "export", "导出" },     { "import", "导入" },     { "print", "打印" },
    { "search", "搜索" },     { "replace", "替换" },    { "select", "选择" },
    { "show", "显示" },       { "hide", "隐藏" },       { "lock", "锁定" },
    { "unlock", "解锁" },     { "reset", "重置" },      { "update", "更新" },
    { "check", "检查" },      { "back up", "备份" },    { "restore", "恢复" },
    { "edit", "编辑" },       { "sort", "排序" },       { "merge", "合并" },
    { "clear", "清除" },      { "load", "载入" },       { "refresh", "刷新" },
    { "share", "共享" },      { "insert", "插入" },     { "move", "移动" },
};

static const Phrase kObjects[] = {
    { "the current document", "当前文档" },   { "the user word list", "用户词库" },
    { "all open windows", "所有打开的窗口" }, { "the selected text", "选中的文字" },
    { "the input settings", "输入设置" },     { "the toolbar", "工具栏" },
    { "the status bar", "状态栏" },           { "the phrase table", "词组表" },
    { "the symbol panel", "符号面板" },       { "the soft keyboard", "软键盘" },
    { "the candidate list", "候选列表" },     { "the recent files list", "最近文件列表" },
    { "the page layout", "页面布局" },        { "the font settings", "字体设置" },
    { "the shortcut keys", "快捷键" },        { "the spelling rules", "拼写规则" },
    { "the custom phrases", "自定义词组" },   { "the writing history", "写作历史" },
    { "the backup folder", "备份文件夹" },    { "the template gallery", "模板库" },
    { "the paragraph styles", "段落样式" },   { "the bookmark list", "书签列表" },
    { "the glossary", "术语表" },             { "the dictionary cache", "词典缓存" },
};

// How a verb and object combine; "%V" is the verb, "%O" the object. Plain menu items are
// the commonest strings in the table, so that form is listed several times.
static const Phrase kForms[] = {
    { "%V %O", "%V%O" },
    { "%V %O...", "%V%O..." },
    { "%V %O", "%V%O" },
    { "Ready to %V %O", "准备%V%O" },
    { "%V %O", "%V%O" },
    { "Could not %V %O.", "无法%V%O。" },
    { "%V %O", "%V%O" },
    { "%V %O", "%V%O" },
};

enum {
    VERB_COUNT = sizeof kVerbs / sizeof kVerbs[0],
    OBJECT_COUNT = sizeof kObjects / sizeof kObjects[0],
    FORM_COUNT = sizeof kForms / sizeof kForms[0],
    LONG_LINE_BYTES = 260,
    LONG_LINE_POSITION = 100,
    SHORT_LINE_LIMIT = 199
};

static const Phrase kLongEntry = {
    "Welcome to Pendrel Writer: type a reading and press Space for the first candidate, "
    "or a digit for another; Shift+Space switches full and half width",
    "欢迎使用 Pendrel Writer：输入读音后按空格键选择第一个候选词，或按数字键选择其他"
    "候选词；换档加空格切换全角半角",
};

static const char kHeader[] = "[UI_STR]\r\n";
static const char kTail[] = "\r\n[Config]\r\nUseBmpFont=0\r\n\r\n";

static std::string Substitute(const char *pattern, const std::string &verb,
                              const std::string &object)
{
    std::string text;
    for (const char *p = pattern; *p; ++p) {
        if (p[0] == '%' && (p[1] == 'V' || p[1] == 'O')) {
            text += p[1] == 'V' ? verb : object;
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

// Entry i pairs verb i % VERB_COUNT with object i / VERB_COUNT, so no two keys repeat.
static bool EntryLine(int i, std::string *line, std::string *error)
{
    const Phrase &verb = kVerbs[i % VERB_COUNT];
    const Phrase &object = kObjects[(i / VERB_COUNT) % OBJECT_COUNT];
    const Phrase &form = kForms[(i * 3 + i / VERB_COUNT) % FORM_COUNT];
    std::string key = Substitute(form.english, verb.english, object.english);
    // A form that starts with the verb needs it capitalised, as a menu item would be.
    if (!key.empty() && key[0] >= 'a' && key[0] <= 'z')
        key[0] = (char)(key[0] - 'a' + 'A');
    Bytes value;
    if (!EncodeUtf8("GBK", Substitute(form.chinese, verb.chinese, object.chinese), &value,
                    error))
        return false;
    *line = key + "=" + std::string(value.begin(), value.end());
    return true;
}

// The one long line the program must cope with: exactly LONG_LINE_BYTES of text.
static bool LongLine(std::string *line, std::string *error)
{
    Bytes value;
    if (!EncodeUtf8("GBK", kLongEntry.chinese, &value, error))
        return false;
    *line = std::string(kLongEntry.english) + "=" + std::string(value.begin(), value.end());
    if (line->size() > LONG_LINE_BYTES)
        return SampleFail(error, "long settings entry exceeds " +
                                     std::to_string(LONG_LINE_BYTES) + " bytes");
    line->append(LONG_LINE_BYTES - line->size(), '.');
    return true;
}

// Ellipses on the last entries' values take up what whole entries could not.
static bool SpreadSlack(std::vector<std::string> *lines, size_t slack, std::string *error)
{
    for (size_t i = lines->size(); i-- > 0 && slack > 0;) {
        std::string &line = (*lines)[i];
        if (line.size() >= SHORT_LINE_LIMIT)
            continue;
        size_t add = std::min(slack, SHORT_LINE_LIMIT - line.size());
        line.append(add, '.');
        slack -= add;
    }
    return slack == 0 || SampleFail(error, "settings entries cannot absorb the padding");
}

bool MakeSettings(const SampleSpec &sample, Bytes *out, std::string *error)
{
    std::string longLine;
    if (!LongLine(&longLine, error))
        return false;
    size_t fixed = (sizeof kHeader - 1) + (sizeof kTail - 1) + longLine.size() + 2;
    if (fixed > sample.bytes)
        return SampleFail(error, "settings file too small");

    std::vector<std::string> lines;
    size_t used = fixed;
    for (int i = 0; i < VERB_COUNT * OBJECT_COUNT; ++i) {
        std::string line;
        if (!EntryLine(i, &line, error))
            return false;
        if (used + line.size() + 2 > sample.bytes)
            break;
        lines.push_back(line);
        used += line.size() + 2;
    }
    if (!SpreadSlack(&lines, sample.bytes - used, error))
        return false;
    size_t at = std::min(lines.size(), (size_t)LONG_LINE_POSITION);
    lines.insert(lines.begin() + at, longLine);

    out->clear();
    AppendText(out, kHeader);
    for (const std::string &line : lines) {
        AppendText(out, line);
        AppendCrLf(out);
    }
    AppendText(out, kTail);
    return true;
}
