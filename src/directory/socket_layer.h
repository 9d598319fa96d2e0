// socket_layer.h - what the POSIX session's socket-buffer layers do alike: each keeps the context
// it was pushed with and reads it back in its reads and writes.
#pragma once

#include "directory/ldap_client.h"

/// A layer's setup: keeps context for the layer's calls.
inline int KeepLayerContext(Sockbuf_IO_Desc* layer, void* context)
{
    layer->sbiod_pvt = context;
    return 0;
}

/// A layer's removal: lets go of its context.
inline int DropLayerContext(Sockbuf_IO_Desc* layer)
{
    layer->sbiod_pvt = nullptr;
    return 0;
}

/// The context the layer was pushed with.
template <class Context>
Context& LayerContext(Sockbuf_IO_Desc* layer)
{
    return *static_cast<Context*>(layer->sbiod_pvt);
}
