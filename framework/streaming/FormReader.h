#pragma once
#include <string>

#include "framework/core/Component.h"
#include "framework/streaming/FormText.h"

// Builds a form from its description. The root's own properties are set first, then each
// object's component is created by its registered class name (owner: the root; nested in
// another object: put on it through the parent hook), named, and given its properties in
// file order; `A.B.C` paths go through published sub-objects, events are bound to the root
// class's published handlers by name, and references to components are set by name once
// every component exists. Every component, the root included, carries csLoading
// (and csReading) while the description is read; afterwards the root's published fields are
// assigned by component name and Loaded() runs on the root and then on each component in
// creation order.
//
// Anything wrong raises EReadError "Line N: ..."; the components created by the failed read
// are destroyed again, and the root's fields are left as they were.
void ReadForm(TComponent* root, const std::string& text);
void ReadFormTree(TComponent* root, const FormObject& description);

// Reads the RCDATA resource of that name from the running program (Win32 only): the text of
// a form description, or that text compressed (framework/streaming/LzDecode.h). A missing resource or
// a corrupt compressed one raises EReadError.
void ReadFormResource(TComponent* root, const char* resourceName);
