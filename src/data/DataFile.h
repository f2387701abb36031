#pragma once
// Everything of the text data files in one include: the open file, the
// keyword reader, the value readers, sized arrays, small lists, owned
// strings, paths and the directory walker.
#include "data/DataFileReader.h"
#include "data/DataLists.h"
#include "data/DataReaders.h"
#include "data/DataScan.h"
#include "data/DataStrings.h"
#include "data/DirWalker.h"
#include "data/SizedArrays.h"
#include "data/TextDataFile.h"
