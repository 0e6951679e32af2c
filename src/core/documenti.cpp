#include "core/documenti.h"
