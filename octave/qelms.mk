# Builds the two modules for GNU Octave from the shared sources: qelms.mex
# (one routine call on scalars) and qelmsv.mex (the array companion). Every
# object is compiled once and linked into both.
#   ROOT  the source tree (gateway/, support/, specfun/, complexbessel/, include/)
#   OUT   where the modules go;  OBJ  where the objects go
ROOT ?= .
OUT ?= .
OBJ ?= $(OUT)/objects
MKOCTFILE ?= mkoctfile
QELMS_CXXFLAGS = -std=c++20 -O3 -g -Wall -Wextra -ffp-contract=off -pthread

shared_sources := $(filter-out $(ROOT)/gateway/entry.cpp,$(wildcard $(ROOT)/gateway/*.cpp)) \
  $(wildcard $(ROOT)/support/*.cpp $(ROOT)/specfun/*.cpp $(ROOT)/complexbessel/*.cpp)
headers := $(wildcard $(ROOT)/include/qelms/*.hpp $(ROOT)/gateway/*.hpp $(ROOT)/support/*.hpp \
  $(ROOT)/specfun/*.hpp $(ROOT)/complexbessel/*.hpp)
# objects are named after their directory and file, so equal file names cannot collide
object_of = $(OBJ)/$(subst /,_,$(patsubst $(ROOT)/%.cpp,%,$(1))).o
shared_objects := $(foreach s,$(shared_sources),$(call object_of,$(s)))
qelms_entry := $(call object_of,$(ROOT)/gateway/entry.cpp)
qelmsv_entry := $(call object_of,$(ROOT)/gateway/array/entry.cpp)

all: $(OUT)/qelms.mex $(OUT)/qelmsv.mex

# -pthread: the array companion spreads its elements over threads
$(OUT)/qelms.mex: $(shared_objects) $(qelms_entry)
	$(MKOCTFILE) --mex -pthread -o $@ $^

$(OUT)/qelmsv.mex: $(shared_objects) $(qelmsv_entry)
	$(MKOCTFILE) --mex -pthread -o $@ $^

define compile_rule
$(call object_of,$(1)): $(1) $(headers) | $(OBJ)
	CXXFLAGS="$(QELMS_CXXFLAGS)" $(MKOCTFILE) --mex -c -I$(ROOT)/include -I$(ROOT)/gateway $(1) -o $$@
endef
$(foreach s,$(shared_sources) $(ROOT)/gateway/entry.cpp $(ROOT)/gateway/array/entry.cpp,$(eval $(call compile_rule,$(s))))

$(OBJ):
	mkdir -p $@

.PHONY: all
