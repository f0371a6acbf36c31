// The proofs' panel: any floor and limit, which each harness assumes to be
// what the configure accepts, so no compile-time check of a build's can hold.
// And the harnesses' cover goals: conditions that some input must reach, so
// that a proof cannot pass by reaching nothing. Each is an assertion that it
// is never reached, which must fail (cbmc's own cover goals do not survive
// goto-instrument's loop contracts).
#pragma once
int nondet_int();
#define LUMTUNE_DEVICE "proof"
#define LUMTUNE_FLOOR nondet_int()
#define LUMTUNE_LIMIT nondet_int()
#define static_assert(...)
#define COVER(condition) __CPROVER_assert(!(condition), "cover")
