// Sample help pages: simplified Chinese or English (gb2312) and traditional Chinese (big5).
#include "sample_content_internal.h"
#include <stdio.h>
#include <string.h>

enum PageLanguage { PAGE_SIMPLIFIED, PAGE_ENGLISH, PAGE_TRADITIONAL, PAGE_LANGUAGES };

struct PageTitle {
    const char *stem;               // file name up to "_en", "_tc" or the extension
    const char *title[PAGE_LANGUAGES];
};

static const PageTitle kTitles[] = {
    { "zelvo_manual",     { "Zelvo 使用手册", "Zelvo User Manual", "Zelvo 使用手冊" } },
    { "ZLVINTRO",         { "产品介绍", "Product Introduction", "產品介紹" } },
    { "ZLVWriterHelp",    { "写作助手帮助", "Writer Help", "寫作助手說明" } },
    { "pendrel_help",     { "Pendrel 帮助", "Pendrel Help", "Pendrel 說明" } },
    { "typing_examples",  { "输入示例", "Typing Examples", "輸入範例" } },
    { "entry_aids",       { "输入辅助功能", "Entry Aids", "輸入輔助功能" } },
    { "quickstart",       { "快速入门", "Quick Start", "快速入門" } },
    { "sound_shape",      { "音形结合输入", "Sound and Shape Input", "音形結合輸入" } },
    { "shapecode_help",   { "字形编码帮助", "Shape Code Help", "字形編碼說明" } },
    { "shapecode_memo",   { "字形编码备忘", "Shape Code Memo", "字形編碼備忘" } },
    { "hotkeys",          { "快捷键一览", "Hot Keys", "快速鍵一覽" } },
};

static const char *const kParagraphs[PAGE_LANGUAGES][8] = {
    {
        "本软件支持拼音、字形和音形结合三种输入方法，可以随时切换。",
        "输入拼音后，候选窗口会列出可能的字词，按空格键选择第一个。",
        "用户自己造的词会保存在用户词库中，下次输入时自动出现。",
        "字形编码按照笔画和部首拆分汉字，适合不知道读音的字。",
        "在设置窗口中可以调整候选词个数、字体大小和窗口颜色。",
        "安装程序会保留原来的用户词库，除非您选择重新安装词库。",
        "繁体输出打开后，输入的简体字会自动转换为繁体字。",
        "如果遇到问题，请先查看常见问题，再与我们联系。",
    },
    {
        "Pendrel Writer offers three input methods: sound, shape, and both combined.",
        "After typing a reading, the candidate window lists the matching words.",
        "Words you create are kept in your own word base and offered next time.",
        "Shape codes split a character into strokes and radicals, for unknown readings.",
        "The settings window changes the candidate count, font size and colours.",
        "Setup keeps your existing word base unless you choose to replace it.",
        "With traditional output on, simplified characters are converted as you type.",
        "If something goes wrong, read the common questions first, then contact us.",
    },
    {
        "本軟體支援拼音、字形和音形結合三種輸入方法，可以隨時切換。",
        "輸入拼音後，候選視窗會列出可能的字詞，按空白鍵選擇第一個。",
        "使用者自己造的詞會儲存在使用者詞庫中，下次輸入時自動出現。",
        "字形編碼按照筆畫和部首拆分漢字，適合不知道讀音的字。",
        "在設定視窗中可以調整候選字個數、字型大小和視窗顏色。",
        "安裝程式會保留原來的使用者詞庫，除非您選擇重新安裝詞庫。",
        "繁體輸出開啟後，輸入的簡體字會自動轉換為繁體字。",
        "如果遇到問題，請先查看常見問題，再與我們聯絡。",
    },
};
enum { PARAGRAPH_COUNT = 8, PARAGRAPHS_PER_SECTION = 3 };

static const char *const kSectionWords[PAGE_LANGUAGES] = { "第%d节", "Section %d", "第%d節" };
static const char *const kCharsets[PAGE_LANGUAGES] = { "gb2312", "gb2312", "big5" };
static const char *const kIconvNames[PAGE_LANGUAGES] = { "GBK", "GBK", "BIG5" };

static PageLanguage LanguageOf(const SampleSpec &sample)
{
    if (sample.kind == SAMPLE_HTML_BIG5)
        return PAGE_TRADITIONAL;
    return strstr(sample.file, "_en") ? PAGE_ENGLISH : PAGE_SIMPLIFIED;
}

static const char *TitleOf(const SampleSpec &sample, PageLanguage language)
{
    for (const PageTitle &t : kTitles)
        if (strncmp(sample.file, t.stem, strlen(t.stem)) == 0)
            return t.title[language];
    return kTitles[0].title[language];
}

static std::string PageHead(const char *charset, const char *title)
{
    return std::string("<html>\r\n<head>\r\n") +
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset +
           "\">\r\n<title>" + title + "</title>\r\n</head>\r\n<body>\r\n<h1>" + title +
           "</h1>\r\n";
}

static const char kPageTail[] = "</body>\r\n</html>\r\n";

// "<!-- " + " -->" + CR LF: the least a padding comment can take.
enum { COMMENT_OVERHEAD = 11 };

// Every few paragraphs a numbered heading, so long pages still look like sections.
static std::string PageBlock(PageLanguage language, int blockNo, SamplePrng *prng)
{
    if (blockNo % (PARAGRAPHS_PER_SECTION + 1) == 0) {
        char heading[32];
        snprintf(heading, sizeof heading, kSectionWords[language],
                 blockNo / (PARAGRAPHS_PER_SECTION + 1) + 1);
        return std::string("<h2>") + heading + "</h2>\r\n";
    }
    return std::string("<p>") + kParagraphs[language][RandomBelow(prng, PARAGRAPH_COUNT)] +
           "</p>\r\n";
}

// Whole blocks while they fit, leaving either nothing or room for a comment.
static bool AppendBlocks(PageLanguage language, size_t limit, SamplePrng *prng, Bytes *body,
                         std::string *error)
{
    for (int blockNo = 0;; ++blockNo) {
        Bytes block;
        if (!EncodeUtf8(kIconvNames[language], PageBlock(language, blockNo, prng), &block,
                        error))
            return false;
        size_t after = body->size() + block.size();
        if (after > limit || (after != limit && limit - after < COMMENT_OVERHEAD))
            return true;
        body->insert(body->end(), block.begin(), block.end());
    }
}

static void AppendPadComment(size_t room, const std::string &file, Bytes *out)
{
    if (room == 0)
        return;
    std::string filler = "sample page " + file + " ";
    std::string text = "<!-- ";
    while (text.size() < room - 6)
        text += filler;
    text.resize(room - 6);
    AppendText(out, text + " -->\r\n");
}

bool MakeHtml(const SampleSpec &sample, Bytes *out, std::string *error)
{
    PageLanguage language = LanguageOf(sample);
    const char *title = TitleOf(sample, language);
    Bytes head;
    if (!EncodeUtf8(kIconvNames[language], PageHead(kCharsets[language], title), &head, error))
        return false;
    size_t tailBytes = sizeof kPageTail - 1;
    if (head.size() + tailBytes > sample.bytes)
        return SampleFail(error, "HTML page too small for its head");

    SamplePrng prng = SeedPrng(sample.id);
    Bytes page = head;
    size_t bodyLimit = sample.bytes - tailBytes;
    if (!AppendBlocks(language, bodyLimit, &prng, &page, error))
        return false;
    size_t room = bodyLimit - page.size();
    if (room != 0 && room < COMMENT_OVERHEAD)
        return SampleFail(error, "HTML page leaves too little room for padding");
    AppendPadComment(room, sample.file, &page);
    AppendText(&page, kPageTail);
    *out = page;
    return true;
}
