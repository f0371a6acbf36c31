#define LUMTUNE_VERSION "1.0000000" // the proofs depend on no version
