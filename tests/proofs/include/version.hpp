// The version the proofs' sources are built with: no proof depends on it.
#pragma once
#define LUMTUNE_VERSION "1.0000000"
