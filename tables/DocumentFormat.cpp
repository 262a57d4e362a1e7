#include "tables/DocumentFormat.h"
