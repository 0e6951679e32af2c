#include "core/lettura_linea.h"
