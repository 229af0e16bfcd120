// The encoders a payload item can be written with. Both write one zlib stream that the
// installer's one-shot inflate reads; they differ only in size and build time.
#pragma once
#include "payload/sample_content.h"
#include <string>

enum ItemEncoder {
    ENCODER_ZLIB9,      // zlib at level 9: the quick build
    ENCODER_ZOPFLI      // zopfli's optimal parse: about a tenth smaller, far slower
};

struct EncoderSettings {
    ItemEncoder encoder;
    int iterations;     // zopfli's iteration count; unused by zlib
};

// Chosen from the measured knee of size against time over the sample payload.
enum { DEFAULT_ZOPFLI_ITERATIONS = 2 };

bool EncodeItem(const EncoderSettings &settings, const Bytes &plain, Bytes *packed);

// Names the settings and the encoder's actual behaviour (what it makes of a fixed probe),
// so that another library version giving other bytes is never mistaken for this one.
std::string EncoderIdentity(const EncoderSettings &settings);
