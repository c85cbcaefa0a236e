// Module anchor: the library builds and loads before its parts exist.
