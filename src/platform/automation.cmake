# The late-bound automation seam: its in-memory substitute.
target_sources(substitutes PRIVATE
)
