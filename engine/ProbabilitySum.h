#pragma once

#include "engine/Digit.h"

#include <vector>

// Whether the probabilities add up to exactly 1, in any order: each term is read as the fraction of
// the numbers as typed (the shortest decimals that give back its numerator and denominator, so 0.7
// is 7/10) and the rational sum is compared. A term with a natural constant, or with a part that is
// not a finite number, has no such reading: then the double sum in row order must be exactly 1.0.
// Every term has a numerator and a positive denominator.
bool probabilitiesAddUpToOne(const std::vector<const Digit*>& probabilities);
