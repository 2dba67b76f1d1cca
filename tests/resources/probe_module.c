/* An otherwise empty Windows module that carries one edition's resource script, so that the
   resource table can be checked before (and independently of) the plug-in itself. */
int qx71_probe_module(void) { return 0; }
