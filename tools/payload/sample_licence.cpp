// The installer's licence texts (GBK and ASCII), wrapped to the width its page shows.
#include "sample_content_internal.h"
#include <vector>

// An empty string is a blank line; everything else is a paragraph to wrap.
static const char *const kChineseParagraphs[] = {
    "Pendrel Writer 软件许可协议",
    "",
    "请在安装本软件之前仔细阅读以下条款。安装、复制或使用 Pendrel Writer（以下简称“本软件”），"
    "即表示您同意接受本协议的全部条款。如果您不同意，请不要安装或使用本软件。",
    "",
    "一、许可范围",
    "Zelvo 授予您一项非独占、不可转让的许可，允许您在自己拥有或管理的计算机上安装和使用本软件，"
    "用于个人学习、写作和日常办公。",
    "",
    "二、使用限制",
    "您不得出租、出借或出售本软件，不得对本软件进行反向工程、反编译或反汇编，"
    "也不得删除或修改软件中的版权标记。",
    "",
    "三、用户数据",
    "您在使用过程中建立的用户词库和自定义词组归您所有。本软件不会在未经您同意的情况下"
    "把这些数据发送到任何地方。",
    "",
    "四、知识产权",
    "本软件及其附带的词库、字形数据、帮助文件和图片的著作权归 Zelvo 所有，"
    "受著作权法和有关国际条约的保护。",
    "",
    "五、免责声明",
    "本软件按“现状”提供。在法律允许的范围内，Zelvo 不对因使用或无法使用本软件"
    "而造成的任何直接或间接损失承担责任。",
    "",
    "六、协议终止",
    "如果您违反本协议的任何条款，本许可将自动终止。终止后，您应当删除本软件的全部副本。",
    "",
    "七、其他",
    "本协议的解释和执行适用您取得本软件所在地的法律。如有疑问，请与 Zelvo 联系。"
    "Zelvo 保留本协议未明确授予您的一切权利。",
};

static const char *const kEnglishParagraphs[] = {
    "Pendrel Writer Licence Agreement",
    "",
    "Please read these terms before installing the software. By installing, copying or "
    "using Pendrel Writer (\"the Software\") you agree to all of them. If you do not "
    "agree, do not install or use the Software.",
    "",
    "1. What you may do",
    "Zelvo grants you a non-exclusive, non-transferable licence to install and use the "
    "Software on computers you own or manage, for personal study, writing and everyday "
    "office work.",
    "",
    "2. What you may not do",
    "You may not rent, lend or sell the Software, reverse engineer, decompile or "
    "disassemble it, or remove or alter its copyright notices.",
    "",
    "3. Your data",
    "The user word base and the phrases you create while using the Software belong to you. "
    "The Software never sends them anywhere without your consent.",
    "",
    "4. Ownership",
    "Copyright in the Software and in the word bases, glyph data, help files and pictures "
    "that come with it belongs to Zelvo and is protected by copyright law and "
    "international treaties.",
    "",
    "5. No warranty",
    "The Software is provided \"as is\". As far as the law allows, Zelvo is not liable for "
    "any direct or indirect loss arising from the use of the Software or from being "
    "unable to use it.",
    "",
    "6. Termination",
    "This licence ends automatically if you break any of its terms. You must then delete "
    "every copy of the Software.",
    "",
    "7. General",
    "This agreement is governed by the law of the place where you obtained the Software. "
    "If you have questions, please contact Zelvo. Zelvo reserves all rights not expressly "
    "granted to you here.",
};

// Lines stop at softLimit; closing punctuation may hang up to hardLimit rather than start a
// line, and opening punctuation moves down rather than end one.
struct WrapRules {
    size_t softLimit, hardLimit;
    Bytes closing, opening;         // double-byte codes, back to back
};

// A double-byte character, a space, or a run of other ASCII (one word, never split).
static std::vector<Bytes> SplitUnits(const Bytes &text)
{
    std::vector<Bytes> units;
    for (size_t i = 0; i < text.size();) {
        size_t end = i + 1;
        if (text[i] >= 0x80)
            end = i + 2 <= text.size() ? i + 2 : text.size();
        else if (text[i] != ' ')
            while (end < text.size() && text[end] < 0x80 && text[end] != ' ')
                ++end;
        units.push_back(Bytes(text.begin() + i, text.begin() + end));
        i = end;
    }
    return units;
}

static bool InCodeSet(const unsigned char *unit, size_t size, const Bytes &set)
{
    if (size != 2)
        return false;
    for (size_t i = 0; i + 1 < set.size(); i += 2)
        if (set[i] == unit[0] && set[i + 1] == unit[1])
            return true;
    return false;
}

static void EmitLine(Bytes *line, Bytes *out)
{
    while (!line->empty() && line->back() == ' ')
        line->pop_back();
    out->insert(out->end(), line->begin(), line->end());
    AppendCrLf(out);
    line->clear();
}

static void WrapParagraph(const Bytes &text, const WrapRules &rules, Bytes *out)
{
    Bytes line;
    for (const Bytes &unit : SplitUnits(text)) {
        bool space = unit.size() == 1 && unit[0] == ' ';
        if (line.empty() && space)
            continue;
        size_t width = line.size() + unit.size();
        bool hangs = InCodeSet(unit.data(), unit.size(), rules.closing);
        bool fits = width <= rules.softLimit || (hangs && width <= rules.hardLimit);
        if (!fits && !line.empty()) {
            Bytes carry;
            if (line.size() >= 2 && line[line.size() - 2] >= 0x80 &&
                InCodeSet(&line[line.size() - 2], 2, rules.opening)) {
                carry.assign(line.end() - 2, line.end());
                line.resize(line.size() - 2);
            }
            EmitLine(&line, out);
            line = carry;
            if (space)
                continue;
        }
        line.insert(line.end(), unit.begin(), unit.end());
    }
    if (!line.empty())
        EmitLine(&line, out);
}

static Bytes WrapText(const char *const *paragraphs, size_t count, const char *charset,
                      const WrapRules &rules)
{
    Bytes out;
    for (size_t i = 0; i < count; ++i) {
        Bytes text;
        if (!EncodeUtf8(charset, paragraphs[i], &text, NULL))
            return Bytes();     // only reachable if the tables above gain a non-GBK char
        if (text.empty())
            AppendCrLf(&out);
        else
            WrapParagraph(text, rules, &out);
    }
    return out;
}

// The licence page draws 16-pixel glyphs 25 to a line, and ASCII at half width.
Bytes MakeChineseLicence()
{
    WrapRules rules = { 48, 50, Bytes(), Bytes() };
    EncodeUtf8("GBK", "，。、；：”）》！？", &rules.closing, NULL);
    EncodeUtf8("GBK", "“（《", &rules.opening, NULL);
    return WrapText(kChineseParagraphs, sizeof kChineseParagraphs / sizeof kChineseParagraphs[0],
                    "GBK", rules);
}

Bytes MakeEnglishLicence()
{
    WrapRules rules = { 70, 70, Bytes(), Bytes() };
    return WrapText(kEnglishParagraphs, sizeof kEnglishParagraphs / sizeof kEnglishParagraphs[0],
                    "ASCII", rules);
}
