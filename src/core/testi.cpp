#include "core/testi.h"
