// The translation unit that owns the shared precompiled standard headers.
