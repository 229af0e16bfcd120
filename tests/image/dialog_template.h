// A native reader of dialog templates, classic and extended, as the resource compiler stored them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct DialogControl {
    uint32_t id = 0;            // a classic template's 16 bits, zero-extended (-1 reads 65535)
    std::string className;      // the predefined classes by name: "Button", "Edit", ...
    std::string text;           // ASCII as stored; "#n" for a resource ordinal
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

struct DialogTemplate {
    bool extended = false;
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::string caption;
    int pointSize = 0, weight = 0, italic = 0, charset = 0;     // the last three only when extended
    std::string font;
    std::vector<DialogControl> controls;
};

// Reads one template; false with a reason when the bytes are not a whole template.
bool ParseDialogTemplate(const unsigned char *data, size_t size, DialogTemplate *dialog, std::string *error);
