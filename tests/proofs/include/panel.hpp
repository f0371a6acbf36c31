// The proofs' panel: any floor and limit, which each harness assumes to be
// what the configure accepts, so no compile-time check of a build's can hold.
// And the harnesses' cover goals: conditions that some input must reach, so
// that a proof cannot pass by reaching nothing (counted with -DCOVERING).
#pragma once
int nondet_int();
#define LUMTUNE_DEVICE "proof"
#define LUMTUNE_FLOOR nondet_int()
#define LUMTUNE_LIMIT nondet_int()
#define static_assert(...)
#ifdef COVERING
#define COVER(condition) __CPROVER_cover(condition)
#else
#define COVER(condition)
#endif
