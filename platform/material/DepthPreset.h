#pragma once

class CALayer;

// How far a surface seems to float above what lies under it, shown as its layer's shadow.
enum class DepthPreset { none, depth1, depth2, depth3, depth4, depth5 };

// Gives the layer the shadow of the preset; none takes the shadow away.
void applyDepthPreset(CALayer& layer, DepthPreset preset);
