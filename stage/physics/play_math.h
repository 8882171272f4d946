#pragma once
// Sine, cosine and arc tangent for play. The C libraries of the builds do
// not agree to the last bit (one computes on the x87 unit, whose pi has 66
// bits, so that sin(pi) differs in its third digit), and a difference in
// the last bit of a speed changes every frame after it. These are computed
// from the same double operations in every build: the same input gives the
// same bits everywhere, within one unit in the last place of the true value.

double PlaySin(double x);
double PlayCos(double x);
// The angle of (x, y) in -pi..pi, as atan2(y, x).
double PlayAtan2(double y, double x);
