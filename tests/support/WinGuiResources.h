#pragma once

// Counters for leak tests under Wine, where GetGuiResources always answers 0.
// The number of live GDI objects of this process: every handle value 1 .. 0xFFFF that
// GetObjectType recognises (Wine accepts handles with a zero high word; Windows does not).
int CountGdiObjects();
// The windows of the calling thread, child windows included.
int CountWindows();
