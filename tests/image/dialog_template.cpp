// A native reader of dialog templates, classic and extended.
#include "dialog_template.h"

namespace {

const uint32_t kSetFont = 0x40;     // DS_SETFONT: a font follows the caption

struct Reader {
    const unsigned char *data;
    size_t size;
    size_t at;
    bool ok;
};

uint16_t Word(Reader &r)
{
    if (r.at + 2 > r.size) {
        r.ok = false;
        return 0;
    }
    uint16_t value = (uint16_t)(r.data[r.at] | r.data[r.at + 1] << 8);
    r.at += 2;
    return value;
}

uint32_t Dword(Reader &r)
{
    uint32_t low = Word(r);
    return low | (uint32_t)Word(r) << 16;
}

int Short(Reader &r)
{
    return (int16_t)Word(r);
}

// Items start on 32-bit boundaries from the start of the template.
void Align(Reader &r)
{
    r.at = (r.at + 3) & ~(size_t)3;
}

// A NUL-terminated UTF-16 string; units above 0xFF are kept as '?' (the templates are ASCII).
std::string WideString(Reader &r)
{
    std::string text;
    for (uint16_t unit = Word(r); r.ok && unit != 0; unit = Word(r))
        text += unit < 0x100 ? (char)unit : '?';
    return text;
}

// A name or ordinal: empty, "#n", or a string.
std::string NameOrOrdinal(Reader &r)
{
    uint16_t first = Word(r);
    if (first == 0)
        return "";
    if (first == 0xFFFF)
        return "#" + std::to_string(Word(r));
    r.at -= 2;
    return WideString(r);
}

// The predefined control classes are stored as ordinals 0x80 to 0x85.
std::string ClassName(Reader &r)
{
    static const char *const kPredefined[] = { "Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox" };
    std::string name = NameOrOrdinal(r);
    if (name.size() > 1 && name[0] == '#') {
        int ordinal = std::stoi(name.substr(1));
        if (ordinal >= 0x80 && ordinal <= 0x85)
            return kPredefined[ordinal - 0x80];
    }
    return name;
}

void ReadControl(Reader &r, bool extended, DialogControl *control)
{
    Align(r);
    if (extended) {
        Dword(r);   // help ID
        control->exStyle = Dword(r);
        control->style = Dword(r);
    } else {
        control->style = Dword(r);
        control->exStyle = Dword(r);
    }
    control->x = Short(r);
    control->y = Short(r);
    control->width = Short(r);
    control->height = Short(r);
    control->id = extended ? Dword(r) : Word(r);
    control->className = ClassName(r);
    control->text = NameOrOrdinal(r);
    uint16_t extra = Word(r);
    r.at += extra;
}

} // namespace

bool ParseDialogTemplate(const unsigned char *data, size_t size, DialogTemplate *dialog, std::string *error)
{
    Reader r = { data, size, 0, true };
    *dialog = DialogTemplate();
    int count = 0;
    dialog->extended = size >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    if (dialog->extended) {
        r.at = 8;   // version, signature, help ID
        dialog->exStyle = Dword(r);
        dialog->style = Dword(r);
    } else {
        dialog->style = Dword(r);
        dialog->exStyle = Dword(r);
    }
    count = Word(r);
    dialog->x = Short(r);
    dialog->y = Short(r);
    dialog->width = Short(r);
    dialog->height = Short(r);
    NameOrOrdinal(r);   // menu
    NameOrOrdinal(r);   // class
    dialog->caption = WideString(r);
    if (dialog->style & kSetFont) {
        dialog->pointSize = Word(r);
        if (dialog->extended) {
            dialog->weight = Word(r);
            uint16_t italicAndCharset = Word(r);
            dialog->italic = italicAndCharset & 0xFF;
            dialog->charset = italicAndCharset >> 8;
        }
        dialog->font = WideString(r);
    }
    for (int i = 0; i < count && r.ok; i++) {
        DialogControl control;
        ReadControl(r, dialog->extended, &control);
        dialog->controls.push_back(control);
    }
    if (!r.ok || r.at > size) {
        *error = "the template ends inside its " + std::to_string(dialog->controls.size() + 1) + ". part";
        return false;
    }
    return true;
}
