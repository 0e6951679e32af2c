#include "core/percorso.h"
