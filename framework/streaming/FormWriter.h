#pragma once
#include <string>

#include "framework/core/Component.h"
#include "framework/streaming/FormText.h"

// Describes a root component and the components it owns: each object's properties in
// published order, values equal to a property's default left out, sub-objects as dotted
// paths, events by the name of the root class's published handler they hold (an event that
// holds anything else is not written), references to components by name. Components nest as
// the parent hook says. A class that is not registered, or a reference to a component that
// is not a named component of the root, raises EStreamError.
FormObject WriteFormTree(TComponent* root);
std::string WriteForm(TComponent* root);
