#include "tables/UTF8.h"
