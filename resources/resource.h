// Identifiers of the program's own resources.
#pragma once

#define IDI_PORTLARK 100
