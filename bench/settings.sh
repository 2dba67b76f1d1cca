# Settings the benchmark scripts measure (INDEX=VALUE or NAME=VALUE pairs for qx71_plugin_bench).
# shellcheck disable=SC2034

# QX71, one band: the mid bell (the other bands are off, as by default).
qx71_one_band="7=0.5714 8=0.3"
# QX71, full chain: low shelf type B (shelf, dip, main), mid bell, high shelf type B (shelf and
# bump), high-pass and low-pass at 24 dB/oct, Analog on: 8 biquads, 3 first-order shelves, noise.
qx71_full_chain="11=0.2857 12=0.7 14=1 7=0.5714 8=0.3 2=0.7143 3=0.8 5=1 17=0.4 19=1 16=0.6 18=1 20=1"
# LSP Parametric Equalizer x16 Stereo: high-pass and low-pass at 24 dB/oct (x2), low shelf,
# three bells, high shelf: 7 active filters, 9 second-order sections.
lsp=/usr/lib/vst/lsp-plugins/para-equalizer-x16-stereo.so
lsp_seven_filters="ft_0=0.3 s_0=0.5 f_0=0.3 ft_1=0.54 s_1=0.5 f_1=0.9 ft_2=0.66 g_2=0.7 f_2=0.4 \
ft_3=0.2 g_3=0.7 f_3=0.6 ft_4=0.42 g_4=0.7 f_4=0.85 ft_5=0.2 g_5=0.3 f_5=0.5 ft_6=0.2 g_6=0.6 f_6=0.75"
