#pragma once
#include "tables/TableCore.h"
