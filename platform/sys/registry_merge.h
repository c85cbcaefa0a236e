// Three-way merge of a registry hive: what this process changed since it
// last read or wrote the file (base -> current) is applied to what is in the
// file now (disk), so the changes of other processes are kept. Key paths
// are relative to the hive's top ("" is the top itself, else "A\B").
// Changes are per value: a value set or deleted here wins over the disk's;
// a key deleted here goes, also when the disk changed it; a key deleted on
// disk stays deleted unless its values were changed here.
#pragma once

#include <vector>

#include "platform/sys/reg_file_format.h"

namespace plat {

std::vector<regfile::Key> MergeRegistryKeys(const std::vector<regfile::Key>& base,
                                            const std::vector<regfile::Key>& current,
                                            const std::vector<regfile::Key>& disk);

}  // namespace plat
