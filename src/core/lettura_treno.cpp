#include "core/lettura_treno.h"
