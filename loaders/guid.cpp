#include "loaders/guid.h"

#include <cstring>

bool IsSameGuid(const Guid& a, const Guid& b) { return std::memcmp(&a, &b, sizeof(Guid)) == 0; }
