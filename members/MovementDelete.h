#pragma once

// Deleting one fund movement inside a store operation. Unlike the record
// objects' plain delete, an engine error is raised, so the operation around it
// rolls back instead of keeping its other changes.
namespace MovementDelete {

void Run(int movementId);

} // namespace MovementDelete
