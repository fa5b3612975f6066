#pragma once
// The program's Qt side around the main window: what start-up prepares
// before the main window exists, and what it releases after the message loop.
namespace dravo {

// After the QApplication exists: loads the skin and its resource index.
// Returns whether the skin is there; the program goes on without it.
bool InitToolkit();

// After the main window is gone: the pictures, the skin archive, the
// language tables.
void ReleaseToolkit();

} // namespace dravo
