#pragma once

// The record holder the input screen creates for every calculation; it carries nothing.
class KivoCalculation {};
