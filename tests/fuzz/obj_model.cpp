// The OBJ model reader and its material library (fuzz::select picks: a
// model whose "mtllib" names a fuzzed library beside it, or the library
// alone), then the normals the drawing computes.
#include "FuzzSupport.h"
#include "model/GlmModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    const fuzz::Selected input = fuzz::select(data, size, 2);
    std::unique_ptr<GlmModel> model;
    if (input.choice == 0) {
        model = glmReadOBJ(fuzz::writeInput(input.rest, "model/model.obj"));
    } else {
        fuzz::writeInput(input.rest, "model/fuzzed.mtl");
        model = glmReadOBJ(fuzz::writeInput("mtllib fuzzed.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                            "usemtl a\nf 1 2 3\n",
                                            "model/model.obj"));
    }
    if (model) {
        glmFacetNormals(*model);
        glmVertexNormals(*model, 90.0f);
    }
    return 0;
}
