#pragma once
// A decoder that reaches up into the program: the layering check must refuse it.
#include "app/App.h"
