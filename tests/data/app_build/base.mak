# base makefile
$(EXE): $(OBJS)
	$(LINK) $(LINKFLAGS) @objects
