// Sample GBK word lists, character tables and hint texts, and the ASCII hint text.
#include "sample_content_internal.h"
#include <string.h>

struct SampleWord {
    const char *reading;
    const char *word;       // UTF-8
};

static const SampleWord kWords[] = {
    { "zhongwen", "中文" },     { "shuru", "输入" },       { "fangfa", "方法" },
    { "pinyin", "拼音" },       { "zixing", "字形" },      { "cidian", "词典" },
    { "wenzhang", "文章" },     { "xiezuo", "写作" },      { "bianji", "编辑" },
    { "baocun", "保存" },       { "dakai", "打开" },       { "guanbi", "关闭" },
    { "chazhao", "查找" },      { "tihuan", "替换" },      { "fuzhi", "复制" },
    { "niantie", "粘贴" },      { "jianqie", "剪切" },     { "shezhi", "设置" },
    { "bangzhu", "帮助" },      { "jianpan", "键盘" },     { "shubiao", "鼠标" },
    { "pingmu", "屏幕" },       { "chuangkou", "窗口" },   { "caidan", "菜单" },
    { "gongju", "工具" },       { "wenjian", "文件" },     { "mulu", "目录" },
    { "duanluo", "段落" },      { "biaodian", "标点" },    { "fuhao", "符号" },
    { "shuzi", "数字" },        { "yingwen", "英文" },     { "fanti", "繁体" },
    { "jianti", "简体" },       { "zhuanhuan", "转换" },   { "houxuan", "候选" },
    { "cizu", "词组" },         { "duanyu", "短语" },      { "jiyi", "记忆" },
    { "lianxiang", "联想" },    { "zidong", "自动" },      { "shoudong", "手动" },
    { "kuaijie", "快捷" },      { "xuanze", "选择" },      { "queding", "确定" },
    { "quxiao", "取消" },       { "yingyong", "应用" },    { "xitong", "系统" },
    { "yonghu", "用户" },       { "ziku", "字库" },        { "ciku", "词库" },
    { "bihua", "笔画" },        { "bushou", "部首" },      { "jiegou", "结构" },
    { "zuoyou", "左右" },       { "shangxia", "上下" },    { "baowei", "包围" },
    { "hengxian", "横线" },     { "shuxian", "竖线" },     { "piezhe", "撇折" },
    { "xuexi", "学习" },        { "lianxi", "练习" },      { "sudu", "速度" },
    { "zhunque", "准确" },      { "jilu", "记录" },        { "chengji", "成绩" },
    { "kaishi", "开始" },       { "jieshu", "结束" },      { "zanting", "暂停" },
    { "jixu", "继续" },         { "shijian", "时间" },     { "riqi", "日期" },
    { "xinxi", "信息" },        { "tishi", "提示" },       { "jinggao", "警告" },
    { "cuowu", "错误" },        { "chenggong", "成功" },   { "shibai", "失败" },
    { "banben", "版本" },       { "gengxin", "更新" },     { "anzhuang", "安装" },
    { "xiezai", "卸载" },       { "zhuce", "注册" },       { "xuke", "许可" },
    { "pengyou", "朋友" },      { "xuesheng", "学生" },    { "laoshi", "老师" },
    { "xuexiao", "学校" },      { "gongzuo", "工作" },     { "shenghuo", "生活" },
};
enum { WORD_COUNT = sizeof kWords / sizeof kWords[0] };

static const char *const kHints[] = {
    "按空格键选择第一个候选词，按数字键选择其他候选词。",
    "输入拼音的前几个字母，就可以找到常用的词组。",
    "按左右方括号键可以向前或向后翻页。",
    "不知道读音的字，可以用笔画或部首查找。",
    "常用的词会自动排在前面，用得越多越靠前。",
    "在设置窗口中可以修改候选词的个数和字体大小。",
    "按住换档键再按空格键，可以切换全角和半角。",
    "自定义词组保存在用户词库中，重新安装时可以保留。",
    "繁体输出打开后，输入的简体字会转换为繁体字。",
    "写作时按功能键可以打开帮助，查看全部快捷键。",
    "输入英文单词时，先按分号键，再输入字母。",
    "练习模式会记录每次的速度和准确率，方便对比进步。",
};
enum { HINT_COUNT = sizeof kHints / sizeof kHints[0] };

static const char *const kEnglishHints[] = {
    "Press Space to take the first candidate; press a digit for another one.",
    "Type the first letters of each syllable to reach common phrases quickly.",
    "Use the bracket keys to page forward and back through the candidates.",
    "Look up a character you cannot read by its strokes or its radical.",
    "Words you use often move to the front of the candidate list by themselves.",
    "The settings window changes the number of candidates and the font size.",
    "Shift+Space switches between full-width and half-width characters.",
    "Your own phrases live in the user word base and survive a reinstall.",
    "With traditional output on, simplified characters are converted as you type.",
    "Press F1 while writing to open the help and see every shortcut key.",
    "To type an English word, press the semicolon key first, then the letters.",
    "Practice mode keeps your speed and accuracy so you can watch your progress.",
};
enum { ENGLISH_HINT_COUNT = sizeof kEnglishHints / sizeof kEnglishHints[0] };

enum GbkTextStyle { STYLE_WORDS, STYLE_HINTS, STYLE_STROKES, STYLE_FREQUENCY };

struct StyleRule {
    const char *nameContains;
    GbkTextStyle style;
};

// First match wins, so "charfreq.txt" is a frequency list rather than hints.
static const StyleRule kStyleRules[] = {
    { "charfreq", STYLE_FREQUENCY }, { "stroke", STYLE_STROKES }, { "Radical", STYLE_STROKES },
    { ".txt", STYLE_HINTS },         { ".igb", STYLE_HINTS },
};

static GbkTextStyle StyleForFile(const char *file)
{
    for (const StyleRule &rule : kStyleRules)
        if (strstr(file, rule.nameContains))
            return rule.style;
    return STYLE_WORDS;
}

// "reading word weight", the shape of an input-method word list.
static bool WordLine(SamplePrng *prng, Bytes *line, std::string *error)
{
    const SampleWord &w = kWords[RandomBelow(prng, WORD_COUNT)];
    Bytes word;
    if (!EncodeUtf8("GBK", w.word, &word, error))
        return false;
    AppendText(line, std::string(w.reading) + " ");
    line->insert(line->end(), word.begin(), word.end());
    AppendText(line, " " + std::to_string(1 + RandomBelow(prng, 9999)));
    return true;
}

static bool HintLine(int lineNo, Bytes *line, std::string *error)
{
    std::string text = std::to_string(lineNo + 1) + ". " + kHints[lineNo % HINT_COUNT];
    return EncodeUtf8("GBK", text, line, error);
}

// A hanzi followed by its strokes as digits 1-5 (horizontal, vertical, left, dot, turn).
static void StrokeLine(int lineNo, SamplePrng *prng, Bytes *line)
{
    AppendGbkCode(line, Gb2312HanziCode(lineNo % GB2312_HANZI_COUNT));
    line->push_back(' ');
    unsigned strokes = 1 + RandomBelow(prng, 16);
    for (unsigned i = 0; i < strokes; ++i)
        line->push_back((unsigned char)('1' + RandomBelow(prng, 5)));
}

static void FrequencyLine(int lineNo, Bytes *line)
{
    AppendGbkCode(line, Gb2312HanziCode(lineNo % GB2312_HANZI_COUNT));
    AppendText(line, "\t" + std::to_string(900000 / (lineNo + 3)));
}

static bool GbkTextLine(GbkTextStyle style, int lineNo, SamplePrng *prng, Bytes *line,
                        std::string *error)
{
    line->clear();
    switch (style) {
    case STYLE_WORDS:
        if (!WordLine(prng, line, error))
            return false;
        break;
    case STYLE_HINTS:
        if (!HintLine(lineNo, line, error))
            return false;
        break;
    case STYLE_STROKES:
        StrokeLine(lineNo, prng, line);
        break;
    case STYLE_FREQUENCY:
        FrequencyLine(lineNo, line);
        break;
    }
    AppendCrLf(line);
    return true;
}

bool MakeGbkText(const SampleSpec &sample, Bytes *out, std::string *error)
{
    GbkTextStyle style = StyleForFile(sample.file);
    SamplePrng prng = SeedPrng(sample.id);
    out->clear();
    out->reserve(sample.bytes);
    Bytes line;
    for (int lineNo = 0;; ++lineNo) {
        if (!GbkTextLine(style, lineNo, &prng, &line, error))
            return false;
        if (!AppendLineIfRoom(out, line, sample.bytes))
            break;
    }
    PadWithAsciiLines(out, sample.bytes, "# end of list ", "-");
    return true;
}

// "B0A1=" and the character: every GB2312 hanzi with its code, in code order.
bool MakeGbkTable(const SampleSpec &sample, Bytes *out, std::string *error)
{
    (void)error;
    out->clear();
    out->reserve(sample.bytes);
    static const char hex[] = "0123456789ABCDEF";
    for (int i = 0;; ++i) {
        unsigned code = Gb2312HanziCode(i % GB2312_HANZI_COUNT);
        Bytes line;
        for (int shift = 12; shift >= 0; shift -= 4)
            line.push_back((unsigned char)hex[(code >> shift) & 0xF]);
        line.push_back('=');
        AppendGbkCode(&line, code);
        AppendCrLf(&line);
        if (!AppendLineIfRoom(out, line, sample.bytes))
            break;
    }
    PadWithAsciiLines(out, sample.bytes, "; end of table ", "-");
    return true;
}

bool MakeAsciiText(const SampleSpec &sample, Bytes *out, std::string *error)
{
    (void)error;
    out->clear();
    out->reserve(sample.bytes);
    for (int lineNo = 0;; ++lineNo) {
        Bytes line;
        AppendText(&line, std::to_string(lineNo + 1) + ". " +
                              kEnglishHints[lineNo % ENGLISH_HINT_COUNT]);
        AppendCrLf(&line);
        if (!AppendLineIfRoom(out, line, sample.bytes))
            break;
    }
    PadWithAsciiLines(out, sample.bytes, "# end of hints ", "-");
    return true;
}
