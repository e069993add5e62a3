#pragma once

// Marks the "from an archive" construction path: the one storyboard scenes and nibs take, as
// opposed to construction from a frame in code. It carries no data; builders connect outlets.
class NSCoder {};
