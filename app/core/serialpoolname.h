// The name of the pool a shared production record hands a task's serial numbers from. A path
// names nothing across machines, so the task's own name is the identity: the pool it names
// itself, else its file's name.
#pragma once

#include <QString>

namespace korvan {

class CodeWorkspace;

QString SerialPoolName(const CodeWorkspace& workspace);

}  // namespace korvan
