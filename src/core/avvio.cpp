#include "core/avvio.h"
