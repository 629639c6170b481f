# cmake -DOUTPUT=<file> -DMEGABYTES=<n> -P make_filler.cmake
# Writes n megabytes of letters and digits that compress only a little: a 64 KB random block,
# repeated, lies beyond the 32 KB that deflate looks back.
string(RANDOM LENGTH 65536 RANDOM_SEED 2010 block)
math(EXPR copies "${MEGABYTES} * 16")
string(REPEAT "${block}" ${copies} filler)
file(WRITE "${OUTPUT}" "${filler}")
