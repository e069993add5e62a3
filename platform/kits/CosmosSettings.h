#pragma once

#include "platform/graphics/UIColor.h"

// How a star-rating view looks and whether touches change it.
struct CosmosSettings {
    int totalStars = 5;
    CGFloat starSize = 20;
    // Space between neighbouring stars.
    CGFloat starMargin = 5;
    UIColor filledColor = UIColor(1, 149.0 / 255, 0, 1);
    UIColor emptyColor = UIColor::clearColor();
    UIColor filledBorderColor = UIColor(1, 149.0 / 255, 0, 1);
    UIColor emptyBorderColor = UIColor(1, 149.0 / 255, 0, 1);
    CGFloat filledBorderWidth = 1;
    CGFloat emptyBorderWidth = 1;
    bool updateOnTouch = true;
};
