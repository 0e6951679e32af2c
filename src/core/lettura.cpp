#include "core/lettura.h"
