#pragma once
// Core code that includes Qt: the layering check must refuse it.
#include <QString>
