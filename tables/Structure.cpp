#include "tables/TableCore.h"
