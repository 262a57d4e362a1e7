#include "tables/Tables.h"
