// The payload catalogue as the build-time generator sees it.
#pragma once
#include "sample_content.h"

enum { CATALOGUE_SIZE = 100 };

extern const SampleSpec kSampleCatalogue[CATALOGUE_SIZE];
