// What the two model targets share: a scratch folder made once per process
// (and removed at its end) for the files the model operations read and write,
// the collected error reports, and one frame rendered as the viewer does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "mesh_model.h"

namespace fuzzing {

// The folder's path with a file name appended.
std::string ScratchFile(const std::string& name);
// Writes the bytes to the file (aborts when it cannot).
void PutFile(const std::string& path, const uint8_t* data, std::size_t size);

// Installs the collecting error sink on first use and empties it.
void ClearReports();
// Everything reported since the last ClearReports.
const std::string& Reports();
// Aborts unless a failure was reported and the report names the file.
void CheckReportedFor(const std::string& path);

// The viewer's frames for the list: the first object filled, then all in outline.
void RenderFrames(modelyard::MeshList& list);

}  // namespace fuzzing
