// Built only by the layer test, against one layer's library: the header of a higher layer named by
// UPWARD_HEADER must be out of its reach.
#include UPWARD_HEADER
