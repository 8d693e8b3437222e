#pragma once
// ACT!'s application object, its views collection and its views.
#include <oaidl.h>

namespace standin {

// A new application object with one reference.
IDispatch* NewApplication();

}  // namespace standin
