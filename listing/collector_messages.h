#pragma once
// The collectors' texts now live with the rest of the listing engine's texts.
#include "listing/listing_messages.h"
